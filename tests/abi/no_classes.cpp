// The link check of a DLL that exports no class.
int UseClasses()
{
    return 0;
}
