# An idle app's resident memory is mostly code pages. The behaviour, platform and wiring code runs
# a few times a minute, so it is built for size (a third less code, 0.35 MiB less resident);
# the painters, which run at the display rate, keep the speed options.
function(vornela_optimize_for_size target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:RelWithDebInfo,Release>:-Os>)
endfunction()
