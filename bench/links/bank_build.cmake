set(BENCH_LINKS gateway shell platform platform_testing)
