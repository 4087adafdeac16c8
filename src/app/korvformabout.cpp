#include "korvform.h"

namespace korv {

void TKorvForm::AboutClick() {}

} // namespace korv
