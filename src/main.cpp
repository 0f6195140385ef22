#include "app/Application.h"

int main(int argc, char** argv) { return tonlira::runApplication(argc, argv); }
