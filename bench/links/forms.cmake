set(BENCH_LINKS parameters shell button platform platform_testing)
