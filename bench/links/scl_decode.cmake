set(BENCH_LINKS ethernet_it platform)
