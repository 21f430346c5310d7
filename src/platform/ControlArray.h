#pragma once

#include <QObject>
#include <QPointer>
#include <map>

namespace platform {

// Same-kind controls sharing one name, keyed by Index. Elements can be added at run time.
template <class T>
class ControlArray
{
public:
    T *operator()(int index) const
    {
        auto it = m_items.find(index);
        return it == m_items.end() ? nullptr : it->second.data();
    }
    void set(int index, T *control) { m_items[index] = control; }
    // The elements still there.
    int count() const
    {
        int n = 0;
        forEach([&n](T *) { ++n; });
        return n;
    }

    // Every element's click, with its index, goes to the receiver's handler.
    template <class R> void onClick(R *receiver, void (R::*handler)(int)) const
    {
        forEach([&](T *c) { QObject::connect(c, &T::Click, receiver, handler); });
    }

    template <class F> void forEach(F f) const
    {
        for (const auto &kv : m_items)
            if (kv.second)
                f(kv.second.data());
    }

private:
    std::map<int, QPointer<T>> m_items;
};

} // namespace platform
