# Documents that other programs made (metafiles, images, SVG), read in place by
# the corpus tests, the mutation run and as fuzzer seeds; never copied into the
# repository. They live beside the checkout.
# A checkout elsewhere (a clean clone for a test run) finds it where the
# workplace keeps it.
set(corpus_default "${CMAKE_SOURCE_DIR}/../shared/corpus")
if(NOT IS_DIRECTORY "${corpus_default}" AND IS_DIRECTORY "/work/shared/corpus")
  set(corpus_default "/work/shared/corpus")
endif()
set(VERDALUX_CORPUS "${corpus_default}" CACHE PATH "Documents made by other programs")
get_filename_component(VERDALUX_CORPUS "${VERDALUX_CORPUS}" ABSOLUTE)
if(NOT IS_DIRECTORY "${VERDALUX_CORPUS}")
  message(STATUS "No document corpus at ${VERDALUX_CORPUS}: the corpus tests will say so and skip")
endif()
