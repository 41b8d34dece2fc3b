# Face tests: picture loading and frames, with small picture modules of their own. The modules
# land beside the test programs, where the tests look for them.
file(GLOB face_fixture_files CONFIGURE_DEPENDS face/fixtures/*.png face/fixtures/*.txt)
set(face_fixtures faces no_overlay not_png wide half_cap clear_cap tiny_overlay)
foreach(fixture IN LISTS face_fixtures)
  velomir_face_module(fixture_${fixture} face/fixtures/fixture_${fixture}.rc)
  set_property(SOURCE face/fixtures/fixture_${fixture}.rc APPEND PROPERTY OBJECT_DEPENDS
               ${face_fixture_files})
endforeach()
list(TRANSFORM face_fixtures PREPEND fixture_)

add_library(face_test_support STATIC face/face_test_support.cpp face/gdiplus_trace.cpp)
target_link_libraries(face_test_support PUBLIC velomir_face test_support GTest::gtest)
velomir_strict(face_test_support)

# Started by face_images_test with Wine reporting Windows XP to it, from a folder of its own.
add_executable(companion_library_child face/companion_library_child.cpp)
target_link_libraries(companion_library_child PRIVATE face_test_support GTest::gtest_main)
velomir_strict(companion_library_child)

velomir_test(face_images_test SOURCES face/images_test.cpp face/test_main.cpp
             LIBS face_test_support)
add_dependencies(face_images_test companion_library_child ${face_fixtures})

# Also saves a frame of each size of the real pictures under frames/ for people to look at.
velomir_test(frame_test SOURCES face/frame_test.cpp face/test_main.cpp LIBS face_test_support
             ARGS $<TARGET_FILE:zentoria> ${CMAKE_BINARY_DIR}/frames)
add_dependencies(frame_test zentoria ${face_fixtures})
