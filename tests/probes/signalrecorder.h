#pragma once

#include <QMetaMethod>
#include <QObject>
#include <QPair>
#include <QVector>

// QtCore's hook for watching every signal emission, including emissions to
// no receiver at all (QtTest's -vs option uses it). QSignalSpy cannot see a
// signal that an object emits while it is still being constructed; this can.
struct QSignalSpyCallbackSet
{
    typedef void (*BeginCallback)(QObject* caller, int signalOrMethodIndex, void** argv);
    typedef void (*EndCallback)(QObject* caller, int signalOrMethodIndex);
    BeginCallback signal_begin_callback, slot_begin_callback;
    EndCallback signal_end_callback, slot_end_callback;
};
void Q_CORE_EXPORT qt_register_signal_spy_callbacks(QSignalSpyCallbackSet* callbackSet);

// Records (sender, signal index) of every emission while it lives.
class SignalRecorder
{
public:
    SignalRecorder()
    {
        emissions().clear();
        qt_register_signal_spy_callbacks(&callbacks());
    }
    ~SignalRecorder() { qt_register_signal_spy_callbacks(nullptr); }

    // How often sender emitted the signal with the given normalized signature.
    static int count(const QObject* sender, const char* signature)
    {
        const int index = signalIndex(sender->metaObject(), signature);
        int n = 0;
        for (const auto& emission : emissions()) {
            if (emission.first == sender && emission.second == index)
                ++n;
        }
        return n;
    }

private:
    // The hook numbers signals only, ignoring the other methods.
    static int signalIndex(const QMetaObject* meta, const char* signature)
    {
        const int method = meta->indexOfSignal(signature);
        if (method < 0)
            return -2;
        int index = 0;
        for (int i = 0; i < method; ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                ++index;
        }
        return index;
    }

    static QVector<QPair<const QObject*, int>>& emissions()
    {
        static QVector<QPair<const QObject*, int>> list;
        return list;
    }

    static void onSignal(QObject* caller, int index, void**)
    {
        emissions().append(qMakePair(static_cast<const QObject*>(caller), index));
    }

    static QSignalSpyCallbackSet& callbacks()
    {
        static QSignalSpyCallbackSet set = {&SignalRecorder::onSignal, nullptr, nullptr, nullptr};
        return set;
    }
};
