set(BENCH_LINKS gateway shell platform)
