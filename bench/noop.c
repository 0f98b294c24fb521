/* The floor: a static program that only returns, i.e. the cost of starting a process. */
int main(void) { return 0; }
