set(BENCH_LINKS gateway shell grid_core platform platform_testing)
