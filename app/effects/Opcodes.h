// The parameter record of one use of an effect: what its dialog shows, a menu command
// applies and a batch task keeps. Each effect's record derives from OpcodesOf<itself> and
// adds only its values.
#pragma once

class Opcodes {
public:
    virtual ~Opcodes() = default;
    // A new record of the same class with the same values.
    virtual Opcodes *Clone() const = 0;
    // Takes the values of another record of the same class.
    virtual Opcodes &Assign(Opcodes const &other) = 0;

protected:
    Opcodes() = default;
    Opcodes(Opcodes const &) = default;
    Opcodes &operator=(Opcodes const &) = default;
};

// Clone and Assign of a record class by its copy constructor and assignment.
template <class Record>
class OpcodesOf : public Opcodes {
public:
    Opcodes *Clone() const override { return new Record(static_cast<Record const &>(*this)); }
    // A record of another class is a caller's fault: std::bad_cast.
    Opcodes &Assign(Opcodes const &other) override {
        static_cast<Record &>(*this) = dynamic_cast<Record const &>(other);
        return *this;
    }
};
