#pragma once
// Support for window tests: the platform seams replaced by recorders, and a clean state (no
// forms, a fresh assessment) around every test function.

#include "assessment/Module1.h"
#include "platform/Forms.h"
#include "platform/Platform.h"

#include <QStringList>
#include <QWidget>

#include <deque>

struct SeamRecorder
{
    QStringList messages;     // texts in the order shown
    QStringList titles;       // their titles
    std::deque<bool> answers; // answers for the next questions (default No)
    int endRequests = 0;

    void install()
    {
        messages.clear();
        titles.clear();
        answers.clear();
        endRequests = 0;
        platform::setMessageHandler([this](const platform::MessageRequest& request) {
            messages << request.text;
            titles << request.title;
            if (request.buttons == platform::Buttons::Ok || answers.empty())
                return false;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        });
        platform::setEndProgramHandler([this] { ++endRequests; });
    }

    static void resetAll()
    {
        Forms::destroyAll();
        Module1::reset();
    }
};

// The widget that the Tab key moves to from `widget`.
inline QWidget* nextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                               next->isVisibleTo(widget->window())))
        next = next->nextInFocusChain();
    return next;
}
