#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// A fixed set of short names (elements, attributes) with a cheap hash of its own: the check
// asks it several times for every element of a page, where QSet's hash costs more than the rest
// of the rule.
template <typename Value>
class NameMap
{
public:
    void insert(const QString &name, Value value);
    // The value of a name, or a default-constructed one.
    Value value(QStringView name) const;
    bool contains(QStringView name) const { return find(name) != nullptr; }

private:
    struct Slot
    {
        QString name;
        Value value{};
        bool used = false;
    };

    static std::size_t hash(QStringView name);
    const Slot *find(QStringView name) const;
    void grow();

    std::vector<Slot> m_slots;
    std::size_t m_count = 0;
};

template <typename Value>
std::size_t NameMap<Value>::hash(QStringView name)
{
    // FNV-1a over the code units.
    std::size_t h = 2166136261u;
    for (QChar c : name) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

template <typename Value>
const typename NameMap<Value>::Slot *NameMap<Value>::find(QStringView name) const
{
    if (m_slots.empty())
        return nullptr;
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash(name) & mask;; i = (i + 1) & mask) {
        const Slot &slot = m_slots[i];
        if (!slot.used)
            return nullptr;
        if (slot.name == name)
            return &slot;
    }
}

template <typename Value>
Value NameMap<Value>::value(QStringView name) const
{
    const Slot *slot = find(name);
    return slot ? slot->value : Value{};
}

template <typename Value>
void NameMap<Value>::insert(const QString &name, Value value)
{
    if (2 * (m_count + 1) > m_slots.size())
        grow();
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash(name) & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (!slot.used) {
            slot = Slot{name, value, true};
            ++m_count;
            return;
        }
        if (slot.name == name) {
            slot.value = value;
            return;
        }
    }
}

template <typename Value>
void NameMap<Value>::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<std::size_t>(16, old.size() * 2), Slot{});
    m_count = 0;
    for (const Slot &slot : old) {
        if (slot.used)
            insert(slot.name, slot.value);
    }
}

// A set of names.
class NameSet
{
public:
    void insert(const QString &name) { m_map.insert(name, true); }
    bool contains(QStringView name) const { return m_map.contains(name); }

private:
    NameMap<bool> m_map;
};
