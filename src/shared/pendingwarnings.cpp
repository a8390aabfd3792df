#include "shared/pendingwarnings.h"

#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void PendingWarnings::showOver(QWidget* parent, const QStringList& texts)
{
    if (!texts.isEmpty())
        new PendingWarnings(parent, texts);
}

PendingWarnings::PendingWarnings(QWidget* parent, const QStringList& texts)
    : QObject(parent), m_parent(parent), m_texts(texts)
{
    if (parent->isVisible())
        showLater();
    else
        parent->installEventFilter(this);
}

bool PendingWarnings::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_parent && event->type() == QEvent::Show) {
        m_parent->removeEventFilter(this);
        showLater();
    }
    return QObject::eventFilter(watched, event);
}

void PendingWarnings::showLater()
{
    // The show event comes before the window reaches the screen; the
    // warnings follow once the event loop has put it there. A dialog run
    // with exec() gets them inside its own loop.
    QTimer::singleShot(0, this, [this]() {
        const QPointer<QWidget> parent = m_parent;
        const QStringList texts = m_texts;
        deleteLater();
        for (const QString& text : texts) {
            if (!parent)
                break;
            QMessageBox::warning(parent, QString(), text, QMessageBox::Ok);
        }
    });
}
