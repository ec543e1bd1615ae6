# The web page in headless Chromium, for the web build (platform/web): each
# test serves the built site, starts its own browser and drives the page
# with real input. They share the desktop window tests' expectations.
find_program(GRAINPIT_PYTHON python3 REQUIRED NO_CMAKE_FIND_ROOT_PATH)
# The match test compares the page's frame with the desktop build's tool.
set(GRAINPIT_SIM ${root}/build/grainpit-sim CACHE FILEPATH "grainpit-sim of the desktop build (scripts/build.sh)")

function(browser_test name)
  add_test(NAME browser_${name}
    COMMAND ${GRAINPIT_PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/browser_${name}_test.py ${site} ${ARGN})
  set_tests_properties(browser_${name} PROPERTIES TIMEOUT 180 LABELS browser)
endfunction()

browser_test(page)
browser_test(mouse)
browser_test(focus)
browser_test(rate)
browser_test(match ${GRAINPIT_SIM})
