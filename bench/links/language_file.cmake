set(BENCH_LINKS shell platform platform_testing)
