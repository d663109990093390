#pragma once

#include <QString>
#include <optional>
#include <utility>

// A value or the reason there is none.
template <typename T> class Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    static Result failure(QString why)
    {
        Result r;
        r.m_error = std::move(why);
        return r;
    }

    explicit operator bool() const { return m_value.has_value(); }
    bool ok() const { return m_value.has_value(); }
    T& operator*() { return *m_value; }
    const T& operator*() const { return *m_value; }
    T* operator->() { return &*m_value; }
    const T* operator->() const { return &*m_value; }
    T take() { return std::move(*m_value); }
    const QString& error() const { return m_error; }

private:
    Result() = default;
    std::optional<T> m_value;
    QString m_error;
};
