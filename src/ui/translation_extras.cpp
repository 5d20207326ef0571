// Texts that are translated through QCoreApplication::translate with a context lupdate
// cannot follow (a file-local tr() helper). Listed here, so refreshing
// translations/tamsel_zh_CN.ts keeps them.

#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const ExtraTexts[] = {
    QT_TRANSLATE_NOOP("ProfileImport", "Parameter File"),
    QT_TRANSLATE_NOOP("ProfileImport", "Are you sure Import parameters from \"%1\"?"),
    QT_TRANSLATE_NOOP("ProfileImport",
                      "Successful  import  parameters , the  program  will  be  terminate , restart  please!"),
};

} // namespace
