set(BENCH_LINKS grid_core grid_foundation platform)
