# The Chinese manual pages, made by help2man from each program's --help.
# help2man finds the synopsis and the options by its own translated headings,
# "用法: " and "选项:" with an ASCII colon, while the help is written with the
# full-width colon Chinese text uses; a small wrapper changes those two lines.
# help2man reads its Chinese section names only under a zh_CN.UTF-8 locale
# (scripts/install-deps makes one); without it the page keeps English names.
find_program(HELP2MAN help2man REQUIRED)
execute_process(COMMAND locale -a OUTPUT_VARIABLE VIREO_LOCALES ERROR_QUIET)
if(VIREO_LOCALES MATCHES "zh_CN\\.utf8")
  set(VIREO_MAN_LOCALE zh_CN.UTF-8)
  set(VIREO_MAN_NAME_SECTION "名称")
else()
  message(WARNING "No zh_CN.UTF-8 locale: the Chinese manual pages get English section names")
  set(VIREO_MAN_LOCALE C.UTF-8)
  set(VIREO_MAN_NAME_SECTION NAME)
endif()
set(summary_vireo-skin-builder "在窗口中为 VIREO 播放器制作皮肤")
set(summary_vireo-skin "在命令行上生成、检查和解包 VIREO 播放器皮肤")
foreach(program vireo-skin-builder vireo-skin)
  if(TARGET ${program})
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/man/zh_CN)
    set(wrapper ${dir}/wrapper/${program})
    file(GENERATE OUTPUT ${wrapper}
      CONTENT "#!/bin/sh\n\"$<TARGET_FILE:${program}>\" \"$@\" | sed -e 's/^用法：/用法: /' -e 's/^选项：$/选项:/'\n")
    file(WRITE ${dir}/${program}.include
         "[${VIREO_MAN_NAME_SECTION}]\n${program} \\- ${summary_${program}}\n")
    # file(GENERATE) of CMake 3.25 writes the wrapper without the execute bit.
    add_custom_command(OUTPUT ${dir}/${program}.1.gz
      COMMAND chmod 755 ${wrapper}
      COMMAND ${HELP2MAN} --no-info --section=1 --locale=${VIREO_MAN_LOCALE}
              --include=${dir}/${program}.include --output=${dir}/${program}.1 ${wrapper}
      COMMAND gzip -9nf ${dir}/${program}.1
      DEPENDS ${program} ${dir}/${program}.include VERBATIM)
    list(APPEND VIREO_ZH_MAN_PAGES ${dir}/${program}.1.gz)
  endif()
endforeach()
