#include "common/testregistry.h"

#include "shared/pendingwarnings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace {

// Answers every message box with Ok while it lives, keeping its text and
// whether its parent was on screen.
class Answerer : public QObject
{
public:
    Answerer()
    {
        connect(&m_timer, &QTimer::timeout, this, [this]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text();
            overParent << (box->parentWidget() == parent && parent->isVisible() && box->windowTitle().isEmpty()
                           && box->icon() == QMessageBox::Warning
                           && box->standardButtons() == QMessageBox::StandardButtons(QMessageBox::Ok));
            box->button(QMessageBox::Ok)->click();
        });
        m_timer.start(10);
    }

    QWidget* parent = nullptr;
    QStringList texts;
    QList<bool> overParent;

private:
    QTimer m_timer;
};

} // namespace

class PendingWarningsTest : public QObject
{
    Q_OBJECT

private slots:
    void shownOverTheParentOnceItIsShown()
    {
        Answerer answerer;
        QDialog dialog;
        answerer.parent = &dialog;
        PendingWarnings::showOver(&dialog, {QStringLiteral("first"), QStringLiteral("second")});
        QTest::qWait(50);
        QVERIFY(answerer.texts.isEmpty());
        dialog.show();
        QTRY_COMPARE(answerer.texts, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
        QCOMPARE(answerer.overParent, (QList<bool>{true, true}));
        // Shown again, the parent brings no warning back.
        dialog.hide();
        dialog.show();
        QTest::qWait(50);
        QCOMPARE(answerer.texts.size(), 2);

        // A parent already on screen gets them at once.
        PendingWarnings::showOver(&dialog, {QStringLiteral("third")});
        QTRY_COMPARE(answerer.texts.size(), 3);
        QVERIFY(answerer.overParent.last());
    }

    void nothingForAParentThatIsGone()
    {
        Answerer answerer;
        auto* dialog = new QDialog;
        PendingWarnings::showOver(dialog, {QStringLiteral("lost")});
        dialog->show();
        delete dialog;
        QTest::qWait(50);
        QVERIFY(answerer.texts.isEmpty());
    }
};

TUNDRACK_TEST(PendingWarningsTest)
#include "pendingwarningstest.moc"
