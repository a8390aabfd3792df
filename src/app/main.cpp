#include "app/mainwindow.h"
#include "app/setupapplication.h"

#include <QApplication>

int main(int argc, char** argv)
{
    fixProcessTimeZone();
    QApplication app(argc, argv);
    setupApplication(app);
    MainWindow window(nullptr);
    window.showMaximized();
    return app.exec();
}
