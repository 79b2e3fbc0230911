# Packs the skin folder that is the working directory into PACKAGE: a zip archive with
# Skin.ini first, then the bitmaps by name, all at the archive's root.
if(NOT PACKAGE)
    message(FATAL_ERROR "PackSkin.cmake needs -DPACKAGE=<archive>")
endif()
if(NOT EXISTS "Skin.ini")
    message(FATAL_ERROR "no Skin.ini in ${CMAKE_CURRENT_SOURCE_DIR}")
endif()
file(GLOB bitmaps RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "*.bmp")
list(SORT bitmaps)
file(REMOVE "${PACKAGE}")
# A fixed time stamp keeps the archives the same from build to build.
file(ARCHIVE_CREATE OUTPUT "${PACKAGE}" PATHS Skin.ini ${bitmaps} FORMAT zip
     MTIME "2024-01-01 00:00:00 UTC")
