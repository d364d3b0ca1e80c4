set(BENCH_LINKS protocols_can gateway shell grid_core platform)
