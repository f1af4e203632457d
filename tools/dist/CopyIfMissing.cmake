# cmake -DSOURCE=<file> -DDESTINATION=<file> -P CopyIfMissing.cmake: copies SOURCE to DESTINATION unless
# DESTINATION exists.
if(NOT EXISTS "${DESTINATION}")
    file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
