#include "common/testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTest>
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

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        qFatal("cannot write %s", qPrintable(path));
}

namespace {

// Acts on the next visible modal widget that the filter accepts; other modal
// windows (a file dialog before an expected message box) are left alone.
void onNextMatchingModal(std::function<bool(QWidget*)> matches, std::function<void(QWidget*)> action, int timeoutMs)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, matches, action, timeoutMs]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches(modal)) {
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

} // namespace

void onNextModal(std::function<void(QWidget*)> action, int timeoutMs)
{
    onNextMatchingModal([](QWidget*) { return true; }, action, timeoutMs);
}

void typeInto(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

QWidget* nextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

bool isWhollyInside(const QWidget* widget, const QWidget* area)
{
    const QRect shown(widget->mapTo(area->window(), QPoint()), widget->size());
    const QRect inside(area->mapTo(area->window(), QPoint()), area->size());
    return widget->isVisible() && inside.contains(shown);
}

void acceptNextFileDialog(const QStringList& paths, const QString& nameFilter)
{
    onNextMatchingModal([](QWidget* widget) { return qobject_cast<QFileDialog*>(widget) != nullptr; },
                        [paths, nameFilter](QWidget* widget) {
        auto* dialog = qobject_cast<QFileDialog*>(widget);
        if (!dialog)
            return;
        if (!nameFilter.isEmpty())
            dialog->selectNameFilter(nameFilter);
        if (paths.isEmpty()) {
            dialog->reject();
            return;
        }
        dialog->setDirectory(QFileInfo(paths.first()).absolutePath());
        QStringList names;
        for (const QString& path : paths)
            names.append(QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"'));
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit)
            edit->setText(paths.size() == 1 ? QFileInfo(paths.first()).absoluteFilePath() : names.join(QLatin1Char(' ')));
        // accept() is protected; the dialog's own slot does the same checks.
        QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
    }, 5000);
}

void onNextPopup(std::function<void(QMenu*)> action)
{
    auto* timer = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action]() {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if ((menu && menu->isVisible()) || clock->elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
            if (menu)
                action(menu);
        }
    });
    timer->start();
}

void rejectNextFileDialog()
{
    onNextMatchingModal([](QWidget* widget) { return qobject_cast<QFileDialog*>(widget) != nullptr; },
                        [](QWidget* widget) { qobject_cast<QFileDialog*>(widget)->reject(); }, 5000);
}

namespace {

bool isMessageBox(QWidget* widget)
{
    return qobject_cast<QMessageBox*>(widget) != nullptr;
}

void answer(QMessageBox* box, int standardButton)
{
    QAbstractButton* button = box->button(QMessageBox::StandardButton(standardButton));
    if (button)
        button->click();
    else
        box->reject();
}

} // namespace

void answerNextMessageBox(int standardButton, QString* text)
{
    onNextMatchingModal(isMessageBox, [standardButton, text](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (text)
            *text = box->text();
        answer(box, standardButton);
    }, 5000);
}

void answerNextMessageBoxes(const QList<int>& standardButtons, QStringList* texts)
{
    if (standardButtons.isEmpty())
        return;
    onNextMatchingModal(isMessageBox, [standardButtons, texts](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (texts)
            texts->append(box->text());
        answerNextMessageBoxes(standardButtons.mid(1), texts);
        answer(box, standardButtons.first());
    }, 5000);
}

} // namespace TestSupport
