#pragma once
// A GMP integer that owns its storage, for exact arithmetic.

#include <gmp.h>

#include <string>

namespace orbalta {

// The decimal digits of z, with a '-' when negative. GMP's own conversion is quadratic in the
// digits under mini-gmp (the web edition), twice over for its size: this splits z by powers of
// ten instead, which keeps to the cost of the divisions.
std::string decimalText(mpz_srcptr z);

class BigInteger {
 public:
  BigInteger() { mpz_init(z_); }
  // GMP takes a long, which is 32 bits on WebAssembly: wider values go through their digits.
  explicit BigInteger(long long v) {
    if constexpr (sizeof(long) >= sizeof(long long)) {
      mpz_init_set_si(z_, static_cast<long>(v));
    } else {
      mpz_init_set_str(z_, std::to_string(v).c_str(), 10);
    }
  }
  BigInteger(const BigInteger& other) { mpz_init_set(z_, other.z_); }
  BigInteger& operator=(const BigInteger& other) {
    mpz_set(z_, other.z_);
    return *this;
  }
  ~BigInteger() { mpz_clear(z_); }

  mpz_ptr get() { return z_; }
  mpz_srcptr get() const { return z_; }
  std::string text() const { return decimalText(z_); }

 private:
  mpz_t z_;
};

}  // namespace orbalta
