# Makes the MSI from the files CPack installed into its staging folder (cpack -G External), with
# wixl and wixl-heat of msitools: zr415config-<version>-win64.msi.
find_program(WIXL wixl)
find_program(WIXL_HEAT wixl-heat)
find_program(MSIINFO msiinfo)
find_program(MSIBUILD msibuild)
find_program(MSIDUMP msidump)
find_program(PYTHON3 python3)
if(NOT WIXL OR NOT WIXL_HEAT OR NOT MSIINFO OR NOT MSIBUILD OR NOT MSIDUMP)
    message(FATAL_ERROR "The MSI needs wixl, wixl-heat, msiinfo, msibuild and msidump (Debian: wixl msitools)")
endif()
if(NOT PYTHON3)
    message(FATAL_ERROR "The MSI's cabinet is recompressed by python3")
endif()

set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(work "${CPACK_TOPLEVEL_DIRECTORY}/msi")
set(msi "${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi")
file(MAKE_DIRECTORY "${work}")

function(zr415_run)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${work}" RESULT_VARIABLE result
        ERROR_VARIABLE errors)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${ARGN}: ${result}\n${errors}")
    endif()
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false "${stage}/*")
list(SORT files)
list(JOIN files "\n" file_list)
file(WRITE "${work}/files.txt" "${file_list}\n")
execute_process(COMMAND "${WIXL_HEAT}" --prefix "${stage}/" --directory-ref INSTALLDIR
        --component-group InstalledFiles --var var.SourceDir --win64
    INPUT_FILE "${work}/files.txt" OUTPUT_FILE "${work}/files.wxs" RESULT_VARIABLE heat_result)
if(NOT heat_result EQUAL 0)
    message(FATAL_ERROR "wixl-heat failed: ${heat_result}")
endif()

# wixl finds files only by paths relative to where it runs.
file(COPY_FILE "${CPACK_NSIS_MUI_ICON}" "${work}/zr415config.ico")
set(ZR415_MSI_ICON zr415config.ico)
configure_file("${CMAKE_CURRENT_LIST_DIR}/zr415config.wxs.in" "${work}/zr415config.wxs" @ONLY)
file(RELATIVE_PATH source_dir "${work}" "${stage}")
zr415_run("${WIXL}" --arch x64 -D "SourceDir=${source_dir}" -D Win64=yes -o "${msi}"
    zr415config.wxs files.wxs)

# wixl writes HKMU as root 4; Windows Installer's number for it is -1.
execute_process(COMMAND "${MSIINFO}" export "${msi}" Registry
    OUTPUT_FILE "${work}/Registry.idt" RESULT_VARIABLE export_result)
if(NOT export_result EQUAL 0)
    message(FATAL_ERROR "msiinfo export failed: ${export_result}")
endif()
file(READ "${work}/Registry.idt" table)
string(REGEX REPLACE "\n([^\t\n]+)\t4\t" "\n\\1\t-1\t" table "${table}")
file(WRITE "${work}/Registry.idt" "${table}")
zr415_run("${MSIBUILD}" "${msi}" -i "${work}/Registry.idt")

# The embedded cabinet deflated again with each block's history: about 5% smaller.
file(REMOVE_RECURSE "${work}/_Streams")
zr415_run("${MSIDUMP}" -s -d "${work}" "${msi}")
zr415_run("${PYTHON3}" "${CMAKE_CURRENT_LIST_DIR}/recompress-cab.py" "${work}/_Streams/files.cab")
zr415_run("${MSIBUILD}" "${msi}" -a files.cab "${work}/_Streams/files.cab")

set(CPACK_EXTERNAL_BUILT_PACKAGES "${msi}")
