#include "common/testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace TestSupport {

namespace {
QString storedSettingsPath;
}

void setSettingsPath(const QString& path)
{
    storedSettingsPath = path;
}

QString settingsPath()
{
    return storedSettingsPath;
}

void clearAllSettings()
{
    QDir dir(storedSettingsPath);
    const QStringList organisations = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& organisation : organisations) {
        const QStringList files = QDir(dir.filePath(organisation)).entryList(QDir::Files);
        for (const QString& file : files) {
            QString application = file;
            application.chop(QStringLiteral(".conf").size());
            QSettings settings(organisation, application);
            settings.clear();
            settings.sync();
        }
    }
}

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    auto timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (clock->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void answerNextMessageBox(int standardButton, QString* text)
{
    onNextModal([standardButton, text](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box)
            return;
        if (text)
            *text = box->text();
        QAbstractButton* button = box->button(QMessageBox::StandardButton(standardButton));
        if (button)
            button->click();
        else
            box->reject();
    });
}

} // namespace TestSupport
