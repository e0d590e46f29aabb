#pragma once
// The rule that the program's own writes raise no event, in one place for every platform: a
// platform opens a Scope around each write it makes for the program and raises a notification
// only while no write is in progress. Writes nest: a write may cause another.

namespace orbalta::platform {

class ProgramWrites {
 public:
  class Scope {
   public:
    explicit Scope(ProgramWrites& writes) : writes_(writes) { ++writes_.depth_; }
    ~Scope() { --writes_.depth_; }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ProgramWrites& writes_;
  };

  // True while the program writes: what a control reports now is not the user's doing.
  bool inProgress() const { return depth_ > 0; }

 private:
  int depth_ = 0;
};

}  // namespace orbalta::platform
