# Platform code carries its platform in the file name; this picks the files for the target.
#   Windows only: *Win.cpp, *_win.cpp, *_gdi.cpp
#   Linux only:   *X11.cpp, *_x11.cpp, *_freetype.cpp, *_embedded.cpp, *_posix.cpp
function(skarvel_sources out dir)
  file(GLOB all CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  set(picked)
  foreach(f ${all})
    get_filename_component(name ${f} NAME_WE)
    if(name MATCHES "(Win|_win|_gdi)$")
      if(WIN32)
        list(APPEND picked ${f})
      endif()
    elseif(name MATCHES "(X11|_x11|_freetype|_embedded|_posix)$")
      if(NOT WIN32)
        list(APPEND picked ${f})
      endif()
    else()
      list(APPEND picked ${f})
    endif()
  endforeach()
  set(${out} ${picked} PARENT_SCOPE)
endfunction()

# A framework library from the sources of one or more folders.
function(skarvel_library name)
  set(src)
  foreach(dir ${ARGN})
    skarvel_sources(dir_src ${dir})
    list(APPEND src ${dir_src})
  endforeach()
  if(NOT src)
    # A subsystem without sources yet still gives a linkable target.
    set(src ${CMAKE_BINARY_DIR}/empty_${name}.cpp)
    file(WRITE ${src} "")
  endif()
  add_library(${name} STATIC ${src})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# The effect's own code (skarvel/) with the adapter of one plug-in format (FORMAT names it for
# the compiler; VST2 needs no name) from the adapter's folder. The effect derives from the
# adapter, so its sources are compiled once per format.
function(skarvel_effect_library name format adapter_dir)
  skarvel_sources(effect skarvel)
  skarvel_sources(adapter ${adapter_dir})
  add_library(${name} STATIC ${effect} ${adapter})
  target_compile_definitions(${name} PRIVATE SKARVEL_VERSION="${PROJECT_VERSION}")
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  if(format)
    target_compile_definitions(${name} PUBLIC SKARVEL_FORMAT_${format})
  endif()
  target_link_libraries(${name} PUBLIC skarvel_framework skarvel_dsp)
  # The audio path: see the core libraries' optimisation.
  if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
    set_source_files_properties(${CMAKE_SOURCE_DIR}/skarvel/Skarvel.cpp
      TARGET_DIRECTORY ${name} PROPERTIES COMPILE_OPTIONS "-O3;-ffp-contract=off")
  else()
    set_source_files_properties(${CMAKE_SOURCE_DIR}/skarvel/Skarvel.cpp
      TARGET_DIRECTORY ${name} PROPERTIES COMPILE_OPTIONS -ffp-contract=off)
  endif()
endfunction()

# A Linux plug-in module: only the entry points its version script names are exported, the
# C++ runtime is linked in and kept private so it cannot clash with the host's, and the
# version script also keeps the linker's own section symbols local.
function(skarvel_module_link_options target exports_map)
  target_link_options(${target} PRIVATE
    -Wl,--no-undefined -Wl,-z,defs
    -static-libstdc++ -static-libgcc -Wl,--exclude-libs,ALL
    -Wl,--version-script=${exports_map})
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${exports_map})
endfunction()

# A Windows plug-in DLL: exactly the entry points its .def file names are exported (none by
# the functions' own decorations: the 32-bit stdcall names would carry an "@n" suffix, which the
# linker matches to the plain names in the .def file), the art is compiled in as "PNG"
# resources and found through the DLL's own module handle (DllMain).
function(skarvel_dll_link_options target def_file)
  target_sources(${target} PRIVATE ${def_file} ${CMAKE_SOURCE_DIR}/plug/module/DllMain_win.cpp)
  target_link_libraries(${target} PRIVATE skarvel_skin)
  target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,--enable-stdcall-fixup)
  set_target_properties(${target} PROPERTIES LINK_DEPENDS ${def_file})
endfunction()

# One GoogleTest executable per folder under tests/.
function(skarvel_test_suite name dir)
  skarvel_sources(src ${dir})
  if(NOT src)
    return()
  endif()
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE ${ARGN} GTest::gtest GTest::gtest_main)
  if(CMAKE_CROSSCOMPILING)
    # Under an emulator one start per suite, not one per test case. The emulator answers 77
    # for a program this machine cannot run.
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
