#pragma once

#include <QByteArray>
#include <QDataStream>
#include <QString>
#include <QStringList>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

#include <functional>

namespace TestSupport {

void setSettingsPath(const QString& path);
QString settingsPath();
// Forgets every stored setting of every organisation.
void clearAllSettings();

// Bytes written by a version 15, big-endian data stream.
template <typename T>
QByteArray streamed(const T& value)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_2);
    out << value;
    return bytes;
}

// Reads a value back from such bytes; false when the stream failed.
template <typename T>
bool unstreamed(const QByteArray& bytes, T& value)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_5_2);
    in >> value;
    return in.status() == QDataStream::Ok;
}

// The bytes of a file, or "(missing)" when it cannot be read.
QByteArray fileBytes(const QString& path);
// Replaces a file's content; a failure stops the test run.
void writeFileBytes(const QString& path, const QByteArray& bytes);

// Runs action on the next modal widget that appears (message box, dialog)
// once it is shown; gives up after timeoutMs. Call before the code that
// opens the modal window.
void onNextModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// Replaces an edit's text by typing, as a user would.
void typeInto(QLineEdit* edit, const QString& text);
// The widget that Tab moves the focus to from widget.
QWidget* nextTabStop(QWidget* widget);
// Whether every pixel of a visible widget lies inside area (a scroll area's
// viewport, a window).
bool isWhollyInside(const QWidget* widget, const QWidget* area);

// Answers the next file dialog with the given files (all in one folder),
// after choosing the name filter when one is given.
void acceptNextFileDialog(const QStringList& paths, const QString& nameFilter = QString());
// Cancels the next file dialog.
void rejectNextFileDialog();
// Acts on the next popup menu once it is shown.
void onNextPopup(std::function<void(QMenu*)> action);
// Answers the next message box by clicking its standard button.
void answerNextMessageBox(int standardButton, QString* text = nullptr);
// Answers the message boxes that follow one another (other modal windows
// in between are left alone), one standard button each, and appends their
// texts. A box without the button is closed.
void answerNextMessageBoxes(const QList<int>& standardButtons, QStringList* texts = nullptr);

} // namespace TestSupport
