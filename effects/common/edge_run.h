// How far a picture that enters from an edge has advanced after each step of an effect.
#pragma once

class EdgeRun {
public:
    // Enters from the near edge over the old picture, `step` at a time; the last step takes
    // what is left.
    static EdgeRun Cover(int length, int step);
    // Enters from the near edge pushing the old picture, `step` at a time; the last step takes
    // what is left, and a single pixel left over joins the step before it.
    static EdgeRun Push(int length, int step);
    // Enters from the far edge, `step` at a time, for as long as the steps taken stay within
    // `limit`; the step that passes `limit` takes the rest of `length`, which may be nothing.
    static EdgeRun FromFarEdge(int length, int step, int limit);

    bool Pending() const;
    // Takes the next step and answers its amount.
    int Advance();
    // The distance covered by the steps taken so far.
    int Travelled() const { return travelled_; }

private:
    enum class Rule { Cover, Push, FarEdge };
    EdgeRun(Rule rule, int length, int step, int limit);

    Rule rule_;
    int length_;
    int step_;
    int limit_;
    int travelled_ = 0;
    int taken_ = 0;
};
