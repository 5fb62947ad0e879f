#include "app/EditorMain.h"

int main(int argc, char *argv[])
{
    return editorMain(argc, argv);
}
