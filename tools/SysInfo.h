#pragma once
// Starting the system-information tool, located through two machine-wide settings (system-scope
// settings of organisation and application "Sorvane", under the same key names).
#include <QSettings>
#include <QString>

namespace sorv {

// Reads the value subKeyRef of key keyName ("SOFTWARE\Microsoft\Shared Tools\MSINFO") in the
// settings of keyRoot. True with the value's text in keyVal (a number as its decimal text), or
// false with keyVal empty.
bool getKeyValue(QSettings::Scope keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal);
// Starts the tool named by the first setting, else MSINFO32.EXE in the folder of the second;
// otherwise says that system information is not available.
void startSysInfo();

}  // namespace sorv
