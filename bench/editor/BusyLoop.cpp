// Keeps one core busy until it is killed: the load beside a benchmark that
// must hold its goal while another process uses a core.
int main()
{
    // The empty assembly makes the counter live, so the loop is not removed.
    for (unsigned long turns = 0;; ++turns)
        asm volatile("" : "+r"(turns));
}
