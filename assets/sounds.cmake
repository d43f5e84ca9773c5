# The bells and the overtime music are made by a small program of ours at
# build time, into build/sounds beside the program.
add_executable(make_sounds
  sounds/make_sounds.cpp
  sounds/desk_bell.cpp sounds/desk_bell.h
  sounds/wave_file.cpp sounds/wave_file.h
  sounds/midi_file.cpp sounds/midi_file.h
  sounds/tune.cpp sounds/tune.h
)
set_target_properties(make_sounds PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
target_compile_options(make_sounds PRIVATE -Wall -Wextra)

set(ORLATIM_SOUNDS_DIR ${CMAKE_BINARY_DIR}/sounds)
set(orlatim_sound_files
  ${ORLATIM_SOUNDS_DIR}/Varo-bell1.wav
  ${ORLATIM_SOUNDS_DIR}/Varo-bell2.wav
  ${ORLATIM_SOUNDS_DIR}/Varo-bell3.wav
  ${ORLATIM_SOUNDS_DIR}/Varo-sound.mid
)
add_custom_command(OUTPUT ${orlatim_sound_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ORLATIM_SOUNDS_DIR}
  COMMAND make_sounds ${ORLATIM_SOUNDS_DIR}
  DEPENDS make_sounds
  COMMENT "Making the bells and the overtime music"
  VERBATIM)
add_custom_target(orlatim_sounds ALL DEPENDS ${orlatim_sound_files})
