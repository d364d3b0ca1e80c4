set(BENCH_LINKS platform Qt6::Widgets)
