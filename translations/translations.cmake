# Compiles the Russian translation next to the program.  Only lrelease runs
# here: lupdate would rewrite the .ts in the source tree, so it is run by
# hand with scripts/updateTranslations.
set(ZT_TS_FILE ${CMAKE_SOURCE_DIR}/translations/ztModBusUtility_ru.ts)
set(ZT_QM_FILE ${CMAKE_BINARY_DIR}/ztModBusUtility_ru.qm)

add_custom_command(
    OUTPUT ${ZT_QM_FILE}
    COMMAND Qt::lrelease -silent ${ZT_TS_FILE} -qm ${ZT_QM_FILE}
    DEPENDS ${ZT_TS_FILE}
    COMMENT "Compiling ztModBusUtility_ru.qm"
    VERBATIM)
add_custom_target(ztTranslations ALL DEPENDS ${ZT_QM_FILE})
add_dependencies(ztModBusUtility ztTranslations)
