set(BENCH_LINKS platform platform_testing)
