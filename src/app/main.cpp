#include "korvapplication.h"
#include "korvform.h"
#include "messages.h"
#include "x11platform.h"

int main(int argc, char** argv) {
    korv::KorvApplication app(argc, argv);
    korv::QtMessageBoxes boxes;
    app.setMessageBoxes(&boxes);
    const bool hidden = korv::startHidden(argc, argv);

    korv::platform::X11Platform platform;
    korv::TKorvForm form(platform.platform(), boxes);
    if (!hidden) {
        form.show();
    }
    return app.exec();
}
