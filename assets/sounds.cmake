# The bells and the overtime music are made by a small program of ours at
# build time, into build/sounds beside the program. The making itself is a
# library so that tests can check it.
add_library(sound_making STATIC
  sounds/desk_bell.cpp sounds/desk_bell.h
  sounds/wave_file.cpp sounds/wave_file.h
  sounds/midi_file.cpp sounds/midi_file.h
  sounds/tune.cpp sounds/tune.h
)
target_include_directories(sound_making PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/sounds)
target_compile_options(sound_making PRIVATE -Wall -Wextra)
add_executable(make_sounds sounds/make_sounds.cpp)
target_link_libraries(make_sounds PRIVATE sound_making)
set_target_properties(sound_making make_sounds PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)

set(sounds_dir ${CMAKE_BINARY_DIR}/sounds)
set(sound_files
  ${sounds_dir}/Varo-bell1.wav
  ${sounds_dir}/Varo-bell2.wav
  ${sounds_dir}/Varo-bell3.wav
  ${sounds_dir}/Varo-sound.mid
)
add_custom_command(OUTPUT ${sound_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${sounds_dir}
  COMMAND make_sounds ${sounds_dir}
  DEPENDS make_sounds
  COMMENT "Making the bells and the overtime music"
  VERBATIM)
add_custom_target(orlatim_sounds ALL DEPENDS ${sound_files})
