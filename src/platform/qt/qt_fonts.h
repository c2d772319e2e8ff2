// Fonts of the model as Qt fonts: the named Windows faces map to the IPA
// fonts when the machine lacks them, an empty name to the classic control
// face, "System" to the program's own UI font. Also measures text for labels
// sized to it.
#pragma once

#include <QFont>
#include <QHash>
#include <QString>
#include <QStringList>

#include "forms/types.h"
#include "platform/platform.h"

namespace platform::qt {

class FontMapper {
  public:
    QFont toQFont(const forms::Font& font);
    // For message boxes and Qt's dialogs: the Japanese desktop's face first.
    QFont applicationFont();
    // The faces asked of Qt for a model face name, in order of preference.
    QStringList familiesFor(const std::string& name);
    SizeTw measureText(const forms::Font& font, const std::string& text);

  private:
    QHash<QString, QStringList> families_;  // model face -> face to use
};

}  // namespace platform::qt
