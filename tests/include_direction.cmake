# Reads every #include "..." of the program's folders and fails on one that
# points against the direction
#   random <- battle <- game <- ai, interaction, render;
#   ai, interaction <- play <- net <- platform; render <- platform
# and on SDL or OpenGL headers below the layer that may use them.
# Run with -DSOURCE_DIR=<repository>.
cmake_minimum_required(VERSION 3.20)

# Folders each folder may include from, its own among them.
set(allowed_random random)
set(allowed_battle battle random)
set(allowed_game game battle random)
set(allowed_ai ai game battle random)
set(allowed_interaction interaction game battle random)
set(allowed_render render game battle random)
set(allowed_play play ai interaction game battle random)
set(allowed_net net play ai interaction game battle random)
set(allowed_platform platform net play ai interaction render game battle random)

set(no_system_graphics random battle game ai interaction play net)  # neither SDL nor OpenGL
set(no_sdl render)

set(faults "")
foreach(folder random battle game ai interaction play net render platform)
  file(GLOB sources ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(source ${sources})
    file(RELATIVE_PATH name ${SOURCE_DIR} ${source})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
      if(line MATCHES "#[ \t]*include[ \t]*\"([^\"]+)\"")
        set(included ${CMAKE_MATCH_1})
        if(NOT included MATCHES "^([a-z_]+)/")
          list(APPEND faults "${name} includes ${included} without its folder")
          continue()
        endif()
        if(NOT CMAKE_MATCH_1 IN_LIST allowed_${folder})
          list(APPEND faults "${name} includes ${included}")
        endif()
      elseif(line MATCHES "#[ \t]*include[ \t]*<(SDL[^>]*|GL/[^>]*)>")
        set(system ${CMAKE_MATCH_1})
        if(folder IN_LIST no_system_graphics OR (folder IN_LIST no_sdl AND system MATCHES "^SDL"))
          list(APPEND faults "${name} includes <${system}>")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n  " report)
  message(FATAL_ERROR "Includes against the direction of the layers:\n  ${report}")
endif()
