// Step amounts of pictures entering from an edge.
#include "edge_run.h"

#include <algorithm>

EdgeRun::EdgeRun(Rule rule, int length, int step, int limit)
    : rule_(rule), length_(length), step_(step), limit_(limit)
{
}

EdgeRun EdgeRun::Cover(int length, int step)
{
    return EdgeRun(Rule::Cover, length, step, length);
}

EdgeRun EdgeRun::Push(int length, int step)
{
    return EdgeRun(Rule::Push, length, step, length);
}

EdgeRun EdgeRun::FromFarEdge(int length, int step, int limit)
{
    return EdgeRun(Rule::FarEdge, length, step, limit);
}

bool EdgeRun::Pending() const
{
    if (rule_ == Rule::FarEdge)
        return static_cast<long long>(taken_) * step_ <= limit_;
    return travelled_ < length_;
}

int EdgeRun::Advance()
{
    int left = length_ - travelled_;
    int amount = 0;
    switch (rule_) {
    case Rule::Cover:
        amount = std::min(step_, left);
        break;
    case Rule::Push:
        amount = left > step_ + 1 ? step_ : left;
        break;
    case Rule::FarEdge:
        amount = static_cast<long long>(taken_ + 1) * step_ <= limit_ ? step_ : left;
        break;
    }
    travelled_ += amount;
    ++taken_;
    return amount;
}
