set(BENCH_LINKS grid_foundation platform)
