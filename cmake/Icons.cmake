# The application icon in the gui library's resources, for the editor's window icon:
# :/icons/zr415config-16.png ... :/icons/zr415config-256.png.
set(ZR415_ICON_SIZES 16 32 48 64 128 256)
set(ZR415_ICON_DIR "${PROJECT_SOURCE_DIR}/resources/icons")

set(zr415_icon_files)
foreach(size IN LISTS ZR415_ICON_SIZES)
    list(APPEND zr415_icon_files "${ZR415_ICON_DIR}/zr415config-${size}.png")
endforeach()

qt_add_resources(zr415gui "appicon"
    PREFIX "/icons"
    BASE "${ZR415_ICON_DIR}"
    FILES ${zr415_icon_files})
