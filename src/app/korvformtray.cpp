#include "korvform.h"
#include "trayicon.h"

namespace korv {

void TKorvForm::loadTrayIcon() {}

} // namespace korv
