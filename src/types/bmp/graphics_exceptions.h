// The exceptions of the image codec. The codec is the one part of the
// program that reports by exceptions; its callers catch EGraphicsException
// at their boundary and show what() to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace mw {

class EGraphicsException : public std::logic_error {
public:
    explicit EGraphicsException(const std::string& text) : std::logic_error(text) {}
};

// A progress callback asked the coder to stop.
class EGraphicsAbort : public EGraphicsException {
public:
    EGraphicsAbort() : EGraphicsException("Abort") {}
};

class EInvalidBitCount : public EGraphicsException {
public:
    EInvalidBitCount() : EGraphicsException("Invalid bit count") {}
};

class ESubscriptOutOfRange : public EGraphicsException {
public:
    ESubscriptOutOfRange() : EGraphicsException("Subscript out of range") {}
};

// The image buffers cannot be allocated (or would be absurdly large).
class EGraphicsOutOfMemory : public EGraphicsException {
public:
    EGraphicsOutOfMemory() : EGraphicsException("Not enough memory for the image") {}
};

class EBmpFileReadError : public EGraphicsException {
public:
    EBmpFileReadError() : EGraphicsException("Error reading BMP input file") {}
};

class EBmpNotABmpFile : public EGraphicsException {
public:
    EBmpNotABmpFile() : EGraphicsException("Not a Windows Bitmap stream") {}
};

class EBmpCorruptFile : public EGraphicsException {
public:
    EBmpCorruptFile() : EGraphicsException("Corrupt Windows Bitmap stream") {}
};

class EBmpNotSupported : public EGraphicsException {
public:
    EBmpNotSupported() : EGraphicsException("Unsupported Bitmap Format") {}
};

}  // namespace mw
