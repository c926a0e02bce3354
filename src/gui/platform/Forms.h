#pragma once
// The form registry: every window has one instance, created the first time anything refers to
// it (to show it or to fill its labels) and afterwards only shown and hidden, never destroyed
// before the program ends.

#include <QWidget>

#include <map>
#include <memory>
#include <typeindex>

class Forms
{
public:
    template <class F> static F& get()
    {
        auto& slot = instances()[std::type_index(typeid(F))];
        if (!slot)
            slot = std::unique_ptr<QWidget>(new F());
        return static_cast<F&>(*slot);
    }

    // The instance if it has been created, else nullptr.
    template <class F> static F* find()
    {
        const auto found = instances().find(std::type_index(typeid(F)));
        return found == instances().end() ? nullptr : static_cast<F*>(found->second.get());
    }

    template <class F> static void show()
    {
        F& form = get<F>();
        form.show();
        bringToFront(form);
    }

    // Destroys every form: at the end of the program (before the application object goes) and
    // between tests.
    static void destroyAll();

private:
    static void bringToFront(QWidget& form);
    static std::map<std::type_index, std::unique_ptr<QWidget>>& instances();
};
