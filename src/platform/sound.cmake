target_link_libraries(platform PRIVATE PkgConfig::SDL2_MIXER)
