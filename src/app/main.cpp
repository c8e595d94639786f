// Program start: the application object, the two forms, the message loop.
#include <QApplication>
#include <QTimer>

#include "loader/formini.h"
#include "platform/qt/artwork.h"
#include "platform/qt/form_view.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/style.h"
#include "platform/qt/tray_view.h"
#include "platform/system.h"
#include "shell/principal.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(vz::kApplicationTitle);
    QApplication::setWindowIcon(vz::applicationIcon());
    vz::applyLightStyle(application);
    // Hiding in the notification area must not end the program; closing the main form does.
    QApplication::setQuitOnLastWindowClosed(false);

    vz::QtHost host;
    vz::TPrincipal principal(host, vz::realSystem());
    std::string argument = argc > 1 ? argv[1] : "";
    principal.create(argument);
    vz::Tformini formini(principal.editini);
    principal.setConfigurationForm(formini);

    vz::FormView window(principal, host, [&principal] { principal.MinimizaralTray1Click(); });
    host.setMainWindow(&window);
    vz::TrayView tray(principal.FormTrayIcon1, host);
    principal.observe([&principal] {
        if (principal.closed())
            QTimer::singleShot(0, &QCoreApplication::quit);
    });
    principal.setVisible(true);
    return QApplication::exec();
}
