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
    T *operator()(int index) const { return at(index); }
    T *operator[](int index) const { return at(index); }
    T *at(int index) const
    {
        auto it = m_items.find(index);
        return it == m_items.end() ? nullptr : it->second.data();
    }
    void set(int index, T *control) { m_items[index] = control; }
    bool contains(int index) const { return at(index) != nullptr; }
    int count() const
    {
        int n = 0;
        for (const auto &kv : m_items)
            n += kv.second ? 1 : 0;
        return n;
    }
    int lowerBound() const { return m_items.empty() ? 0 : m_items.begin()->first; }
    int upperBound() const { return m_items.empty() ? -1 : m_items.rbegin()->first; }
    void clear() { m_items.clear(); }

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
