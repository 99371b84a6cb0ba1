# vorlane_headers(TARGET)
#
# Gives TARGET an include folder of its own that holds exactly the headers
# listed among its sources, each under its path from the top of the tree
# ("platform/automation/Automation.h"), as a link to the source file. A
# library's folder is public to the targets that link it, an executable's is
# private. So an include compiles only when the target declares the library
# whose header it names; there is no common include folder.
function(vorlane_headers target)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  get_target_property(sources ${target} SOURCES)
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.h$")
      continue()
    endif()
    get_filename_component(path ${source} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${path})
    get_filename_component(folder ${root}/${relative} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    file(CREATE_LINK ${path} ${root}/${relative} SYMBOLIC)
  endforeach()
  set_property(GLOBAL APPEND PROPERTY VORLANE_HEADER_TARGETS ${target})
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# Writes build/headers.txt once every target is known: a line per target
# that vorlane_headers() served, with its type, its folder, its sources and
# the libraries it links directly, PUBLIC, PRIVATE or INTERFACE, for the
# test that holds every include and every link to docs/architecture.md.
function(vorlane_write_header_manifest)
  get_property(targets GLOBAL PROPERTY VORLANE_HEADER_TARGETS)
  set(lines)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(folder ${target} SOURCE_DIR)
    # An INTERFACE link shows only among the interface ones.
    set(links "$<TARGET_PROPERTY:${target},INTERFACE_LINK_LIBRARIES>")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      set(links "$<TARGET_PROPERTY:${target},LINK_LIBRARIES>;${links}")
    endif()
    string(APPEND lines "${target}\t${type}\t${folder}\t$<JOIN:$<TARGET_PROPERTY:${target},SOURCES>,|>\t$<JOIN:$<REMOVE_DUPLICATES:${links}>,|>\n")
  endforeach()
  file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/headers.txt CONTENT "${lines}")
endfunction()
