#pragma once
// Support for window tests: the platform seams replaced by recorders, and a clean state (no
// forms, a fresh assessment, the real platform) around every test function.

#include "Forms.h"
#include "Module1.h"
#include "Platform.h"
#include "Seams.h"

#include <QStringList>
#include <QWidget>

#include <deque>
#include <optional>

struct SeamRecorder
{
    QStringList messages;     // texts in the order shown
    QStringList titles;       // their titles
    std::deque<bool> answers; // answers for the next questions (default No)
    int endRequests = 0;
    std::optional<platform::ScopedSeams> scope;

    // The seams of the running test, to replace more of them.
    platform::Seams* operator->() { return scope->operator->(); }

    void install()
    {
        messages.clear();
        titles.clear();
        answers.clear();
        endRequests = 0;
        scope.emplace();
        (*scope)->message = [this](const platform::MessageRequest& request) {
            messages << request.text;
            titles << request.title;
            if (request.buttons == platform::Buttons::Ok || answers.empty())
                return false;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        };
        (*scope)->endProgram = [this] { ++endRequests; };
    }

    // Destroys every form, starts a fresh assessment and puts the real platform back.
    void resetAll()
    {
        Forms::destroyAll();
        Module1::reset();
        scope.reset();
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
