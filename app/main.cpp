#include "app/application.h"

int main(int argc, char** argv) { return keelmark::RunKeelmarkRoute(argc, argv); }
