# Signs with osslsigncode when ZR415_SIGN_PKCS12 names a PKCS#12 certificate file (its password in
# ZR415_SIGN_PASSWORD; a timestamp server in ZR415_SIGN_TIMESTAMP, when given). Run by CPack
# twice: before packing, on the project's programs and libraries in the staging folder, so the
# packages hold them signed; after packing, on the installer and the MSI.
if("$ENV{ZR415_SIGN_PKCS12}" STREQUAL "")
    return()
endif()
find_program(OSSLSIGNCODE osslsigncode)
if(NOT OSSLSIGNCODE)
    message(FATAL_ERROR "Signing needs osslsigncode (Debian: osslsigncode)")
endif()

if(DEFINED CPACK_PACKAGE_FILES)
    set(files)
    foreach(package IN LISTS CPACK_PACKAGE_FILES)
        if(package MATCHES "\\.(exe|msi)$")
            list(APPEND files "${package}")
        endif()
    endforeach()
else()
    file(GLOB_RECURSE files "${CPACK_TEMPORARY_DIRECTORY}/zr415*.exe"
        "${CPACK_TEMPORARY_DIRECTORY}/zr415*.dll")
endif()

# The password goes by a file only this user reads, never on a command line others can see.
set(password_file "${CPACK_TOPLEVEL_DIRECTORY}/sign-password")
file(WRITE "${password_file}" "")
file(CHMOD "${password_file}" PERMISSIONS OWNER_READ OWNER_WRITE)
file(WRITE "${password_file}" "$ENV{ZR415_SIGN_PASSWORD}")
set(timestamp)
if(NOT "$ENV{ZR415_SIGN_TIMESTAMP}" STREQUAL "")
    set(timestamp -ts "$ENV{ZR415_SIGN_TIMESTAMP}")
endif()
foreach(file IN LISTS files)
    execute_process(COMMAND "${OSSLSIGNCODE}" sign -pkcs12 "$ENV{ZR415_SIGN_PKCS12}"
            -readpass "${password_file}" -h sha256 -n "${CPACK_PACKAGE_NAME}" ${timestamp}
            -in "${file}" -out "${file}.signed"
        RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        file(REMOVE "${password_file}" "${file}.signed")
        message(FATAL_ERROR "Signing ${file} failed: ${output}")
    endif()
    file(RENAME "${file}.signed" "${file}")
    message(STATUS "Signed ${file}")
endforeach()
file(REMOVE "${password_file}")
