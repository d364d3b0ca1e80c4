set(BENCH_LINKS ethernet_it shell button grid_core platform platform_testing)
