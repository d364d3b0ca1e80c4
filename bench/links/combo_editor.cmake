set(BENCH_LINKS grid_core platform platform_testing)
