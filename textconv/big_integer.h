#pragma once
// A GMP integer that owns its storage, for exact arithmetic.

#include <gmp.h>

#include <string>

namespace orbalta {

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
  std::string text() const {
    std::string out(mpz_sizeinbase(z_, 10) + 2, '\0');
    mpz_get_str(out.data(), 10, z_);
    out.resize(out.find('\0'));
    return out;
  }

 private:
  mpz_t z_;
};

}  // namespace orbalta
