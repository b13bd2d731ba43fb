#pragma once
// Texts of the desktop program's command line: its usage and the messages about bad options.

#include "text/language.h"

namespace q36::ui::otxt {

inline constexpr TextPair Usage{
    "用法: q36cps [--lang zh|en] [--help]\n"
    "  --lang zh|en  本次运行的语言: zh 中文 (默认), en 英文\n"
    "  --help, -h    显示本说明后退出\n"
    "Qt 自己的选项 (-style, -platform 等) 交给 Qt。\n",
    "Usage: q36cps [--lang zh|en] [--help]\n"
    "  --lang zh|en  the language of the run: zh Chinese (the default), en English\n"
    "  --help, -h    show this help and exit\n"
    "Qt's own options (-style, -platform, ...) are passed on to Qt.\n"};
inline constexpr TextPair BadLanguage{"--lang 的值只能是 zh 或 en, 而不是 \"{value}\"",
                                      "--lang is zh or en, not \"{value}\""};
inline constexpr TextPair MissingLanguage{"--lang 后面缺少语言 (zh 或 en)",
                                          "--lang needs a language (zh or en)"};

}  // namespace q36::ui::otxt
