set(BENCH_LINKS platform)
