#pragma once
// The framework's exceptions. Every one derives from RuntimeException, which carries a message
// and an error number; ClassName() names the class in the report of unhandled exceptions.
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>

class RuntimeException : public std::exception {
  public:
    explicit RuntimeException(std::string message = {}, int32_t errorNumber = 0)
        : Message(std::move(message)), ErrorNumber(errorNumber) {}
    const char* what() const noexcept override { return Message.c_str(); }
    virtual const char* ClassName() const noexcept { return "RuntimeException"; }

    std::string Message;
    int32_t ErrorNumber = 0;
};

class NilObjectException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "NilObjectException"; }
};

class IOException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "IOException"; }
};

class OutOfBoundsException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "OutOfBoundsException"; }
};

class TypeMismatchException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "TypeMismatchException"; }
};

// Using Nil raises NilObjectException: the one place that test is made. `what` names the object
// in the message.
template <class T>
T& Deref(T* p, std::string_view what) {
    if (!p) throw NilObjectException(std::string(what) + " is Nil");
    return *p;
}
template <class T>
T& Deref(const std::shared_ptr<T>& p, std::string_view what) {
    return Deref(p.get(), what);
}
